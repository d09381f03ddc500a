Private Sub Worksheet_Change(ByVal Target As Range)
    If Target.Column = 1 Then Target.Offset(0, 1).Value = Now
End Sub
