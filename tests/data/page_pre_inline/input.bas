Option Explicit
' 給与計算のユーティリティ
Private Const RATE As Double = 0.1

Private Type Entry
	Name As String
	Amount As Currency
End Type

' Returns the tax, rounded.
Public Function Tax(ByVal amount As Currency) As Currency
	If amount <= 0 Then Tax = 0: Exit Function
	Tax = Round(amount * RATE, 0) ' 端数は四捨五入
End Function

Sub Show(ByRef e As Entry, _
         Optional ByVal title As String = "<R&D> ""Tax""")
	Dim s As String
	s = e.Name & vbTab & CStr(Tax(e.Amount)) ' Then stays a word _
		in a continued comment
	MsgBox s, vbOKOnly, title
End Sub
